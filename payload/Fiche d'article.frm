[Formulaire]
Titre=Fiche d'article
Table=ARTICLES
Largeur=640
Hauteur=408
Police=MS Sans Serif,8

[Champ1]
Libelle=Référence
Colonne=REFERENCE
Type=Texte
Longueur=12
Gauche=150
Haut=16

[Champ2]
Libelle=Désignation
Colonne=DESIGNATION
Type=Texte
Longueur=40
Gauche=150
Haut=52

[Champ3]
Libelle=Famille
Colonne=FAMILLE
Type=Liste
Longueur=10
Gauche=150
Haut=88

[Champ4]
Libelle=Prix HT
Colonne=PRIXHT
Type=Monnaie
Longueur=10
Gauche=150
Haut=124

[Champ5]
Libelle=Taux de TVA
Colonne=TVA
Type=Liste
Longueur=5
Gauche=150
Haut=160

[Champ6]
Libelle=Stock
Colonne=STOCK
Type=Nombre
Longueur=6
Gauche=150
Haut=196

[Champ7]
Libelle=Seuil de réapprovisionnement
Colonne=SEUIL
Type=Nombre
Longueur=6
Gauche=150
Haut=232

[Champ8]
Libelle=Photo
Colonne=PHOTO
Type=Image
Gauche=150
Haut=268

[Boutons]
Valider=&Enregistrer
Annuler=&Fermer
